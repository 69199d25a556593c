#!/usr/bin/python3
"""Parses one received message with Python's email package and prints what a mail program
would show as JSON: decoded header fields, the text part (type, charset, decoded text) and
every attachment (decoded file name, content in Base64), plus the parser's defect reports."""
import base64
import email
import email.policy
import json
import sys


def main():
    with open(sys.argv[1], 'rb') as f:
        message = email.message_from_bytes(f.read(), policy=email.policy.default)
    defects = [type(d).__name__ for d in message.defects]
    result = {
        'subject': str(message['subject']),
        'from': str(message['from']),
        'to': [{'name': a.display_name, 'address': a.addr_spec}
               for a in message['to'].addresses] if message['to'] else [],
        'cc': message['cc'] is not None,
        'bcc': message['bcc'] is not None,
        'date': str(message['date']),
        'date_valid': message['date'] is not None and message['date'].datetime is not None,
        'message_id': str(message['message-id']),
        'content_type': message.get_content_type(),
        'attachments': [],
    }
    body = message.get_body(('plain', 'html'))
    if body is not None:
        result['text'] = body.get_content()
        result['text_type'] = body.get_content_type()
        result['text_charset'] = body.get_content_charset()
        result['text_encoding'] = body['content-transfer-encoding']
    for part in message.iter_attachments():
        defects += [type(d).__name__ for d in part.defects]
        result['attachments'].append({
            'filename': part.get_filename(),
            'content_type': part.get_content_type(),
            'data': base64.b64encode(part.get_payload(decode=True)).decode(),
        })
    result['defects'] = defects
    json.dump(result, sys.stdout)


if __name__ == '__main__':
    main()
